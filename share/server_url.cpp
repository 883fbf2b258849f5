#include "share/server_url.h"

#include <QUrl>

namespace orvex {
namespace {

QUrl Parsed(const std::string& url) {
    return QUrl(QString::fromStdString(url), QUrl::StrictMode);
}

void ReplaceAll(std::string& text, const std::string& secret) {
    if (secret.empty()) {
        return;
    }
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3)) {
        text.replace(at, secret.size(), "...");
    }
}

}  // namespace

std::string ShownServer(const std::string& url) {
    return Parsed(url)
        .adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment)
        .toString()
        .toStdString();
}

std::optional<std::string> ServerUrlProblem(const std::string& url) {
    const QUrl parsed = Parsed(url);
    if (!parsed.isValid()) {
        return "not a URL: " + parsed.errorString().toStdString();
    }
    if (parsed.scheme() != QLatin1String("https") && parsed.scheme() != QLatin1String("http")) {
        return "not an http or https URL";
    }
    if (parsed.host().isEmpty()) {
        return "names no host";
    }
    return std::nullopt;
}

std::string WithoutSecrets(std::string text, const std::string& url) {
    const QUrl parsed = Parsed(url);
    for (const QUrl::ComponentFormattingOption form : {QUrl::FullyEncoded, QUrl::PrettyDecoded}) {
        ReplaceAll(text, parsed.userInfo(form).toStdString());
        ReplaceAll(text, parsed.password(form).toStdString());
        ReplaceAll(text, parsed.query(form).toStdString());
    }
    return text;
}

}  // namespace orvex
