#include "protocol/sru/SruHttp.h"

#include <curl/curl.h>

#include <mutex>

#include "targets/ProxyPassword.h"

namespace {

const long kMaxRedirects = 5;

std::mutex caFileMutex;
std::string caFileForTesting;

void initOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Exchange {
    const SruHttpRequest& request;
    std::string& body;
    bool tooLarge = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* out) {
    auto* exchange = static_cast<Exchange*>(out);
    const size_t bytes = size * count;
    if (bytes > exchange->request.maxBodyBytes - exchange->body.size()) {
        exchange->tooLarge = true;
        return 0;
    }
    exchange->body.append(data, bytes);
    return bytes;
}

int checkStop(void* exchange, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& stopped = static_cast<const Exchange*>(exchange)->request.stopped;
    return stopped && stopped() ? 1 : 0;
}

std::string timeoutText(const SruHttpRequest& request) {
    const int idle = request.idleTimeoutSeconds;
    const int total = request.totalTimeoutSeconds;
    const int seconds = idle > 0 && (total <= 0 || idle < total) ? idle : total;
    return "No answer for " + std::to_string(seconds) + " s";
}

std::string megabytes(size_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

}  // namespace

SruHttpResponse sruHttpGet(const SruHttpRequest& request) {
    initOnce();
    SruHttpResponse response;
    CURL* curl = curl_easy_init();
    if (!curl) {
        response.error = "Cannot start an HTTP request";
        return response;
    }
    char errorText[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    // The library's defaults, stated: a login never follows a redirect to
    // another scheme, host or port, and certificates are checked.
    curl_easy_setopt(curl, CURLOPT_UNRESTRICTED_AUTH, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    {
        std::lock_guard<std::mutex> lock(caFileMutex);
        if (!caFileForTesting.empty())
            curl_easy_setopt(curl, CURLOPT_CAINFO, caFileForTesting.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "qrn");
    if (!request.proxy.empty()) curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.c_str());
    if (!request.username.empty()) {
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(curl, CURLOPT_USERNAME, request.username.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
    }
    if (request.totalTimeoutSeconds > 0) {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(request.totalTimeoutSeconds));
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT,
                         static_cast<long>(request.totalTimeoutSeconds));
    }
    if (request.idleTimeoutSeconds > 0) {
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                         static_cast<long>(request.idleTimeoutSeconds));
        if (request.totalTimeoutSeconds <= 0)
            curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT,
                             static_cast<long>(request.idleTimeoutSeconds));
    }
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    Exchange exchange{request, response.body};
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkStop);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &exchange);

    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    } else if (code == CURLE_ABORTED_BY_CALLBACK) {
        response.stopped = true;
        response.error = "Stopped";
    } else if (exchange.tooLarge) {
        response.body.clear();
        response.error = "The answer is larger than " + megabytes(request.maxBodyBytes);
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        response.error = timeoutText(request);
    } else {
        // curl repeats a proxy address it cannot use, login and all.
        response.error = withoutProxyPassword(*errorText ? errorText : curl_easy_strerror(code),
                                              request.proxy);
    }
    curl_easy_cleanup(curl);
    return response;
}

void useCaFileForTesting(const std::string& file) {
    std::lock_guard<std::mutex> lock(caFileMutex);
    caFileForTesting = file;
}

std::string urlEscaped(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}
