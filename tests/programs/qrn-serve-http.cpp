// Answers every HTTP request on 127.0.0.1 with one file, for the tool tests:
// qrn-serve-http FILE [CONTENT-TYPE]. Prints the port, then serves until it
// is killed.
#include <unistd.h>

#include <iostream>
#include <string>

#include "HttpFront.h"
#include "TestSupport.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: qrn-serve-http FILE [CONTENT-TYPE]\n";
        return 2;
    }
    const std::string body = readFileBytes(argv[1]);
    const std::string type = argc == 3 ? argv[2] : "text/xml";
    HttpFront front([&](const std::string&) { return HttpFront::response("200 OK", type, body); });
    std::cout << front.port() << std::endl;
    for (;;) pause();
}
