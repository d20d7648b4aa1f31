#include "YazZtestServer.h"

YazZtestServer::YazZtestServer(std::vector<std::string> extraArgs) {
    // yaz-ztest reads its GRS-1 records from "dummy-grs" in its working folder.
    std::string grs;
    for (int n = 1; n <= kGrs1Records; ++n) {
        const std::string num = std::to_string(n);
        grs += "#" + num + "\n(2,1) GRS-1 test record " + num + "\n(2,2) Whitfield, Margaret\n" +
               "(2,4) " + std::to_string(1950 + n % 70) +
               "\n(2,7) {\n    (2,1) Harbour Press\n}\n" + "(0,0)\n";
    }
    writeFileBytes(dir() + "/dummy-grs", grs);
    // Its Scan reads the index from "dummy-words", a word a line in order, and
    // ends the whole server when the file is missing.
    writeFileBytes(dir() + "/dummy-words", "aardvark\nharbour\nlighthouse\nmargaret\npress\n");
    start("yaz-ztest", extraArgs, Logging::Protocol);
}
