#include "protocol/IndexFallbacks.h"

#include "protocol/UseAttributes.h"

namespace {

FallbackRewrite replaceAll(const std::string& pqf, const std::set<int>& uses,
                           const TargetProfile& profile) {
    // All at once against the original uses, so 1007 -> 7 -> 1016 is never
    // chained within one rewrite.
    FallbackRewrite out{pqf, std::string(), {}};
    const std::set<int> present = useAttributesOf(pqf);
    std::string marked = pqf;
    for (int use : uses) {
        const int replacement = profile.replacementFor(use);
        if (!replacement || !present.count(use)) continue;
        // A placeholder beyond any real use value keeps the swaps apart.
        marked = withUseAttribute(marked, use, 2000000000 - use);
        out.note += fallbackNote(use, replacement) + "\n";
        out.replacements.insert(replacement);
    }
    for (int use : uses) {
        const int replacement = profile.replacementFor(use);
        if (replacement && present.count(use))
            marked = withUseAttribute(marked, 2000000000 - use, replacement);
    }
    out.pqf = marked;
    return out;
}

}  // namespace

std::string fallbackNote(int use, int replacement) {
    return useAttributeName(use) + " index not supported; searched " +
           useAttributeName(replacement) + " instead";
}

FallbackRewrite rewriteKnownUnsupported(const std::string& pqf, const TargetProfile& profile) {
    return replaceAll(pqf, profile.unsupported, profile);
}

FallbackRewrite rewriteRejected(const std::string& pqf, const std::string& addinfo,
                                const TargetProfile& profile,
                                const std::set<int>& alreadyReplaced) {
    const int named = positiveNumber(addinfo);
    std::set<int> uses;
    if (named) {
        uses.insert(named);
    } else {
        for (const IndexFallback& f : profile.fallbacks) uses.insert(f.use);
    }
    for (int use : alreadyReplaced) uses.erase(use);
    return replaceAll(pqf, uses, profile);
}
