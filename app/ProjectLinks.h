// The project's web pages that Help opens in the user's browser.
#pragma once

#define QRN_DOCUMENTATION_URL "https://github.com/qrn-project/qrn#readme"
#define QRN_FORUM_URL "https://github.com/qrn-project/qrn/issues"
