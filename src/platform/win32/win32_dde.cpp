// The DDE client over DDEML: one conversation per request, closed when the reply is in.
// The names are ASCII; the reply comes as CF_TEXT, in the ANSI code page.
#include <windows.h>
// after windows.h, whose types it uses
#include <ddeml.h>

#include <algorithm>

#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

// A client-only instance is sent nothing it must answer.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
  return nullptr;
}

UniqueDdeString MakeString(DWORD instance, const std::string& text) {
  HSZ handle = ::DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI);
  return handle == nullptr ? UniqueDdeString() : UniqueDdeString(DdeString{instance, handle});
}

}  // namespace

std::optional<std::string> Win32Dde::RequestText(const std::string& service, const std::string& topic,
                                                 const std::string& item, unsigned timeout_ms) {
  DWORD id = 0;
  if (::DdeInitializeA(&id, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return std::nullopt;
  const UniqueDdeInstance instance(id);
  const UniqueDdeString service_name = MakeString(id, service);
  const UniqueDdeString topic_name = MakeString(id, topic);
  const UniqueDdeString item_name = MakeString(id, item);
  if (!service_name || !topic_name || !item_name) return std::nullopt;

  const UniqueDdeConversation conversation(
      ::DdeConnect(id, service_name.get().handle, topic_name.get().handle, nullptr));
  if (!conversation) return std::nullopt;
  // A time-out of 0 would make the transaction asynchronous.
  DWORD result = 0;
  const UniqueDdeData data(::DdeClientTransaction(nullptr, 0, conversation.get(), item_name.get().handle,
                                                  CF_TEXT, XTYP_REQUEST, std::max(timeout_ms, 1u), &result));
  if (!data) return std::nullopt;

  const DWORD size = ::DdeGetData(data.get(), nullptr, 0, 0);
  std::string reply(std::min<std::size_t>(size, kMaxReply), '\0');
  const DWORD copied =
      ::DdeGetData(data.get(), reinterpret_cast<LPBYTE>(reply.data()), static_cast<DWORD>(reply.size()), 0);
  reply.resize(std::min<std::size_t>(copied, reply.size()));
  reply.resize(std::min(reply.find('\0'), reply.size()));
  // CF_TEXT is text of the ANSI code page.
  return Win32CodePage().Utf8FromAnsi(reply);
}

}  // namespace quellix::win32
