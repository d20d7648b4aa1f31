#include "targets/TargetXml.h"

#include "targets/TargetList.h"

namespace {

void appendElement(std::string& out, const char* name, const std::string& value) {
    out += '<';
    out += name;
    out += '>';
    out += escapeXml(value);
    out += "</";
    out += name;
    out += '>';
}

void appendIfNotEmpty(std::string& out, const char* name, const std::string& value) {
    if (!value.empty()) appendElement(out, name, value);
}

void appendProfile(std::string& out, const TargetProfile& profile) {
    if (profile.timeoutSeconds > 0)
        appendElement(out, "timeout", std::to_string(profile.timeoutSeconds));
    for (const IndexFallback& f : profile.fallbacks) {
        out += "<fallback use=\"" + std::to_string(f.use) + "\">" + std::to_string(f.replacement) +
               "</fallback>";
    }
    appendIfNotEmpty(out, "proxy", profile.proxy);
    if (!profile.unsupported.empty()) {
        std::string uses;
        for (int use : profile.unsupported) uses += (uses.empty() ? "" : " ") + std::to_string(use);
        appendElement(out, "unsupported", uses);
    }
}

}  // namespace

std::string escapeXml(const std::string& text) {
    // One pass gives the same text as replacing & first and the others after.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string targetToXml(Target& target) {
    std::string out = "<target>";
    appendElement(out, "name", target.name);
    for (const std::string& tag : target.tags) appendElement(out, "tag", tag);
    appendElement(out, "zurl", target.zurl);
    appendElement(out, "location", target.location);
    if (target.recsyntax.empty()) target.recsyntax = "marc21";
    appendElement(out, "recsyntax", target.recsyntax);
    appendElement(out, "elementsetname", target.elementsetname);
    appendIfNotEmpty(out, "username", target.username);
    appendIfNotEmpty(out, "password", target.password);
    appendIfNotEmpty(out, "website", target.website);
    appendIfNotEmpty(out, "catalogue", target.catalogue);
    appendIfNotEmpty(out, "recordcharset", target.recordCharset);
    if (target.queryCharset != "UTF-8") appendIfNotEmpty(out, "querycharset", target.queryCharset);
    appendProfile(out, target.profile);
    if (target.home) out += "<home>yes</home>";
    out += target.active ? "<active>yes</active>" : "<active>no</active>";
    out += "</target>";
    return out;
}

std::string targetListToXml(TargetList& list) {
    std::string out = "<?xml version=\"1.0\" ?> \n <ztargets><limits>";
    appendElement(out, "selectedlocation", list.selectedLocation);
    out += "<selectedtags>";
    for (const auto& [tag, selected] : list.tagTable) {
        if (selected) appendElement(out, "tag", tag);
    }
    out += "</selectedtags></limits>";
    for (Target& target : list.targets) out += targetToXml(target);
    out += "</ztargets>";
    return out;
}
