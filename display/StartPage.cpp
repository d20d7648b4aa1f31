#include "display/StartPage.h"

#include "display/RecordPages.h"
#include "targets/TargetList.h"

std::string startPageHtml(const TargetList& targets) {
    std::string ticked;
    for (const Target& target : targets.targets) {
        if (!target.active) continue;
        if (!ticked.empty()) ticked += ", ";
        ticked += "<b>" + escapeHtml(target.name) + "</b>";
    }
    std::string html = "<div class=\"heading\">Start here</div>\n<ol>\n<li>";
    html += ticked.empty() ? "No catalogue is ticked yet: tick the ones to search on the "
                             "<b>Databases</b> page, the last page of <b>File &gt; Search</b>."
                           : "The search goes to " + ticked +
                                 ". The <b>Databases</b> page, the last page of <b>File &gt; "
                                 "Search</b>, ticks others.";
    html +=
        "</li>\n<li>Choose <b>File &gt; Search</b> (Ctrl+F), type a title or an author and press "
        "Enter.</li>\n<li>Click a record in the list to read it here; <b>Export</b> saves it, "
        "<b>Export &gt; Add to File</b> (Ctrl+D) collects the day's records in one file.</li>\n"
        "</ol>\n<p>To try qrn without a public server, start the demo catalogue with "
        "<code>qrn-demo-catalogue start</code> and tick <b>Local demo catalogue</b>. "
        "<b>Help &gt; Contents</b> (F1) opens the manual.</p>\n";
    return html;
}
