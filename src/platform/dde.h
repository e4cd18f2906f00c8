#pragma once
// A DDE client: one request to another program's service, answered as text.

#include <cstddef>
#include <optional>
#include <string>

namespace quellix::platform {

class DdeClient {
 public:
  // Longer replies are cut to this many bytes, as the server sent them.
  static constexpr std::size_t kMaxReply = 65536;

  virtual ~DdeClient() = default;
  // Opens a conversation with `service` on `topic`, requests `item` once as text (CF_TEXT)
  // and closes the conversation. Service, topic and item are ASCII and compare without case.
  // The reply up to its first NUL, in UTF-8 (the server sends it in the ANSI code page), or
  // nothing when no server answers, the request is refused, or the reply does not arrive
  // within `timeout_ms`. A server too busy to answer in time may hold
  // the call longer while the conversation closes (DDEML waits up to 10 s for it).
  virtual std::optional<std::string> RequestText(const std::string& service, const std::string& topic,
                                                 const std::string& item, unsigned timeout_ms) = 0;
};

}  // namespace quellix::platform
