// Each check of an https server's certificate refuses on its own: the
// signer, then the name; a certificate that passes both is accepted.
#include <gtest/gtest.h>

#include <string>

#include "TlsFront.h"
#include "protocol/sru/SruHttp.h"

namespace {

// What a GET of front's page gives with the CA of trusted as the only one.
SruHttpResponse getTrusting(const TlsFront& front, const TlsFront& trusted) {
    useCaFileForTesting(trusted.caFile());
    SruHttpRequest request;
    request.url = front.url("db");
    request.idleTimeoutSeconds = 10;
    SruHttpResponse response = sruHttpGet(request);
    useCaFileForTesting(std::string());
    return response;
}

}  // namespace

TEST(TlsTest, EachCertificateCheckRefusesOnItsOwn) {
    TlsFront sound(TlsFront::Certificate::FromTestCa);
    TlsFront selfSigned(TlsFront::Certificate::SelfSigned);
    TlsFront otherName(TlsFront::Certificate::FromTestCaOtherName);

    const SruHttpResponse accepted = getTrusting(sound, sound);
    EXPECT_EQ(accepted.error, "");
    EXPECT_EQ(accepted.status, 200);

    // The right name, but no trusted signer.
    const SruHttpResponse untrusted = getTrusting(selfSigned, sound);
    EXPECT_NE(untrusted.error.find("certificate"), std::string::npos) << untrusted.error;
    // A trusted signer, but for another name.
    const SruHttpResponse misnamed = getTrusting(otherName, otherName);
    EXPECT_NE(misnamed.error.find("127.0.0.1"), std::string::npos) << misnamed.error;
    EXPECT_EQ(misnamed.status, 0);

    // Without the test CA, the system's store trusts none of them.
    SruHttpRequest plain;
    plain.url = sound.url("db");
    EXPECT_NE(sruHttpGet(plain).error, "");
}
