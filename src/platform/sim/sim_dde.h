#pragma once
// Simulated DDE servers: items of a service and topic answered with scripted replies, and
// every request recorded.

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/dde.h"

namespace quellix::sim {

class SimDde final : public platform::DdeClient {
 public:
  struct Request {
    std::string service, topic, item;
    unsigned timeout_ms = 0;
  };
  struct Answer {
    std::optional<std::string> reply;  // nothing: the server refuses the request
    unsigned delay_ms = 0;             // how long the server takes to answer
  };
  std::vector<Request> requests;

  // A server for `service` and `topic` that answers `item`; other items of the topic are refused.
  void Serve(const std::string& service, const std::string& topic, const std::string& item, Answer answer);
  // The server for `service` and `topic` ends.
  void StopServing(const std::string& service, const std::string& topic);

  std::optional<std::string> RequestText(const std::string& service, const std::string& topic,
                                         const std::string& item, unsigned timeout_ms) override;

 private:
  using Conversation = std::tuple<std::string, std::string>;  // service, topic; lower case
  std::map<Conversation, std::map<std::string, Answer>> servers_;
};

}  // namespace quellix::sim
