#pragma once

#include <optional>
#include <string>

namespace orvex {

// A telemetry server as messages name it: its address without the user name,
// password, query and fragment, where a key or token may be kept.
std::string ShownServer(const std::string& url);

// Why the text is no server's address, or nothing: an http or https URL with
// a host.
std::optional<std::string> ServerUrlProblem(const std::string& url);

// The text with every secret of the address (its user name with password,
// the password, the query) replaced by "...": an answer or a network error
// may quote the address.
std::string WithoutSecrets(std::string text, const std::string& url);

}  // namespace orvex
