// Brief fields of arbitrary XML record text. The first byte picks the schema
// (low two bits) and, with bit 2 set, takes the first line as the expression
// for all three fields, so every kind of node reaches the text extraction.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/UserMessage.h"
#include "records/BriefXmlExtractor.h"
#include "marc/UnicodeNfc.h"
#include "settings/SettingsDefaults.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const SettingsData fresh = [] {
        setUserMessageSink([](const std::string&) {});
        return freshInstallationSettings("targets.xml");
    }();
    if (size == 0) return 0;
    const XmlSchema schema = static_cast<XmlSchema>(data[0] & 3);
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    SettingsData settings = fresh;
    if (data[0] & 4) {
        const std::size_t lineEnd = text.find('\n');
        const std::string expression = text.substr(0, lineEnd);
        text = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
        for (std::string* field :
             {&settings.DisplayMARCXMLTitleXPATH, &settings.DisplayMARCXMLAuthorXPATH,
              &settings.DisplayMARCXMLDateXPATH, &settings.DisplayMODSTitleXPATH,
              &settings.DisplayMODSAuthorXPATH, &settings.DisplayMODSDateXPATH,
              &settings.DisplayDCTitleXPATH, &settings.DisplayDCAuthorXPATH,
              &settings.DisplayDCDateXPATH})
            *field = expression;
    }
    BriefXmlExtractor extractor(settings, schema);
    extractor.run(text);
    // Composing the stored text never makes or unmakes markup.
    const std::string composed = toNfcXml(text);
    for (const char c : {'<', '>'})
        if (std::count(composed.begin(), composed.end(), c) !=
            std::count(text.begin(), text.end(), c))
            __builtin_trap();
    return 0;
}
