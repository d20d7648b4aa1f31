#include "Marc8Records.h"

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>
#include <yaz/yaz-iconv.h>

#include "MarcBuilder.h"

namespace {

std::string convert(const std::string& iso2709, const char* to, const char* from, int mode,
                    const char* leaderSpec) {
    yaz_marc_t mt = yaz_marc_create();
    yaz_iconv_t cd = yaz_iconv_open(to, from);
    yaz_marc_iconv(mt, cd);
    yaz_marc_xml(mt, mode);
    if (leaderSpec) yaz_marc_leader_spec(mt, leaderSpec);
    WRBUF out = wrbuf_alloc();
    std::string result;
    if (yaz_marc_decode_wrbuf(mt, iso2709.data(), static_cast<int>(iso2709.size()), out) > 0)
        result.assign(wrbuf_buf(out), wrbuf_len(out));
    wrbuf_destroy(out);
    yaz_iconv_close(cd);
    yaz_marc_destroy(mt);
    return result;
}

std::string record(int number, const std::string& title, const std::string& author) {
    return MarcBuilder()
        .control("001", "script-" + std::to_string(number))
        .control("008", "850101s1985    xx            000 0 und d")
        .data("100", "1 ", {{'a', author}})
        .data("245", "10", {{'a', title}, {'c', "$5 {braces}"}})
        .build();
}

}  // namespace

std::vector<std::string> scriptRecordsUtf8() {
    // Each ANSEL combining mark (U+0309 ... U+0313) over a letter.
    const char* const marks[] = {"\xCC\x89", "\xCC\x80", "\xCC\x81", "\xCC\x82", "\xCC\x83",
                                 "\xCC\x84", "\xCC\x86", "\xCC\x87", "\xCC\x88", "\xCC\x8C",
                                 "\xCC\x8A", "\xCC\x95", "\xCC\x8B", "\xCC\x90", "\xCC\xA7",
                                 "\xCC\xA8", "\xCC\xA3", "\xCC\xA4", "\xCC\xA5", "\xCC\xB3",
                                 "\xCC\xB2", "\xCC\xA6", "\xCC\x9C", "\xCC\xAE", "\xCC\x93"};
    std::string diacritics;
    for (const char* mark : marks) diacritics += std::string("o") + mark + " ";
    // Ligature and double tilde halves join two letters.
    diacritics += "t\xEF\xB8\xA0s\xEF\xB8\xA1 n\xEF\xB8\xA2g\xEF\xB8\xA3";
    return {
        record(1, diacritics, "Dvo\xC5\x99\xC3\xA1k, Anton\xC3\xADn"),
        record(
            2,
            "\xC5\x81\xC5\x82 \xC3\x98\xC3\xB8 \xC4\x90\xC4\x91 \xC3\x9E\xC3\xBE \xC3\x86\xC3\xA6 "
            "\xC5\x92\xC5\x93 \xCA\xB9\xCA\xBA \xC4\xB1 \xC2\xA3 \xC3\xB0 \xC6\xA1\xC6\xB0 "
            "\xC2\xA9 \xC2\xB1 \xC2\xB0 \xC2\xBF\xC2\xA1 \xC3\x9F",
            "Brontë, Émile"),
        record(
            3, "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC",
            "\xD0\xA0\xD1\x83\xD0\xB1\xD0\xB8\xD0\xBD\xD0\xB0, \xD0\x94\xD0\xB8\xD0\xBD\xD0\xB0"),
        record(4, "\xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A\xD8\xA9",
               "\xD7\xA2\xD7\x91\xD7\xA8\xD7\x99\xD7\xAA"),
        record(5, "\xE4\xB8\xAD\xE6\x96\x87 \xE6\x9D\xB1\xE4\xBA\xAC",
               "H\xE2\x82\x82O x\xC2\xB2 y\xC2\xB3 \xE2\x81\xBD\xE2\x81\xBE"),
    };
}

std::string toMarc8(const std::string& utf8Iso2709) {
    return convert(utf8Iso2709, "marc8", "utf-8", YAZ_MARC_ISO2709, "9=32");
}

std::string toolkitLines(const std::string& iso2709, const char* fromCharset) {
    const std::string lines = convert(iso2709, "utf-8", fromCharset, YAZ_MARC_LINE, nullptr);
    const size_t firstEnd = lines.find('\n');
    return firstEnd == std::string::npos ? std::string() : lines.substr(firstEnd + 1);
}
