#include "platform/sim/sim_dde.h"

#include <algorithm>

namespace quellix::sim {
namespace {

// DDE names compare without case (ASCII only, as string handles do).
std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

}  // namespace

void SimDde::Serve(const std::string& service, const std::string& topic, const std::string& item,
                   Answer answer) {
  servers_[{Folded(service), Folded(topic)}][Folded(item)] = std::move(answer);
}

void SimDde::StopServing(const std::string& service, const std::string& topic) {
  servers_.erase({Folded(service), Folded(topic)});
}

std::optional<std::string> SimDde::RequestText(const std::string& service, const std::string& topic,
                                               const std::string& item, unsigned timeout_ms) {
  requests.push_back(Request{service, topic, item, timeout_ms});
  const auto server = servers_.find({Folded(service), Folded(topic)});
  if (server == servers_.end()) return std::nullopt;
  const auto answer = server->second.find(Folded(item));
  if (answer == server->second.end() || !answer->second.reply || answer->second.delay_ms > timeout_ms)
    return std::nullopt;
  std::string reply = answer->second.reply->substr(0, answer->second.reply->find('\0'));
  if (reply.size() > kMaxReply) reply.resize(kMaxReply);
  return reply;
}

}  // namespace quellix::sim
