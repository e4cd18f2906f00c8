// Test and demo helper: a DDE server that answers as a browser's window-information service
// does. It registers the service "iexplore", accepts conversations on the topic
// "WWW_GetWindowInfo" and answers a text request for the item "-1" with the reply given on
// its command line; other items and formats are refused.
//
// Usage: quellix_dde_responder [--seconds N] [--delay MS] [--repeat N] REPLY
//   --seconds N  ends after N seconds (default 30)
//   --delay MS   takes MS milliseconds before each answer, as a busy browser would
//   --repeat N   answers with REPLY written N times over, for long replies
// The reply goes as CF_TEXT, in the ANSI code page, as a browser sends it (the C runtime gives
// the command line's arguments in that page).
// Standard output: "READY" once the service is registered, then "request <item>" for each
// request received, "ended" at the end.

#include <windows.h>
// after windows.h, whose types it uses
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/handles.h"

namespace {

using quellix::win32::DdeString;
using quellix::win32::UniqueDdeInstance;
using quellix::win32::UniqueDdeString;

constexpr char kService[] = "iexplore";
constexpr char kTopic[] = "WWW_GetWindowInfo";
constexpr char kItem[] = "-1";

struct Responder {
  DWORD instance = 0;
  HSZ topic = nullptr;
  HSZ item = nullptr;
  std::string reply;
  unsigned delay_ms = 0;
};

Responder* g_responder = nullptr;  // this helper's one instance, reached from the DDEML callback

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

HDDEDATA Answer(UINT format, HSZ item) {
  char name[256] = {};
  ::DdeQueryStringA(g_responder->instance, item, name, sizeof name, CP_WINANSI);
  Say(std::string("request ") + name);
  if (format != CF_TEXT || ::DdeCmpStringHandles(item, g_responder->item) != 0) return nullptr;
  if (g_responder->delay_ms > 0) ::Sleep(g_responder->delay_ms);
  // CF_TEXT is sent with its terminating NUL.
  const std::string& reply = g_responder->reply;
  return ::DdeCreateDataHandle(g_responder->instance,
                               reinterpret_cast<LPBYTE>(const_cast<char*>(reply.c_str())),
                               static_cast<DWORD>(reply.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR,
                           ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(
          static_cast<INT_PTR>(::DdeCmpStringHandles(topic, g_responder->topic) == 0));
    case XTYP_REQUEST:
      return Answer(format, item);
    default:
      return nullptr;
  }
}

UniqueDdeString MakeString(DWORD instance, const char* text) {
  HSZ handle = ::DdeCreateStringHandleA(instance, text, CP_WINANSI);
  return handle == nullptr ? UniqueDdeString() : UniqueDdeString(DdeString{instance, handle});
}

// Lets the DDE messages of the conversations run until the deadline.
void Serve(ULONGLONG deadline) {
  for (ULONGLONG now = ::GetTickCount64(); now < deadline; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Responder responder;
  g_responder = &responder;
  unsigned seconds = 30, repeat = 1;
  std::string reply;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 < argc && arg == "--seconds") {
      seconds = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (i + 1 < argc && arg == "--delay") {
      responder.delay_ms = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (i + 1 < argc && arg == "--repeat") {
      repeat = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      reply = arg;
    }
  }
  for (unsigned i = 0; i < repeat; ++i) responder.reply += reply;

  DWORD id = 0;
  if (::DdeInitializeA(&id, Callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_EXECUTES,
                       0) != DMLERR_NO_ERROR) {
    Say("FAIL: DdeInitialize");
    return 1;
  }
  const UniqueDdeInstance instance(id);
  responder.instance = id;
  const UniqueDdeString service = MakeString(id, kService);
  const UniqueDdeString topic = MakeString(id, kTopic);
  const UniqueDdeString item = MakeString(id, kItem);
  if (!service || !topic || !item ||
      ::DdeNameService(id, service.get().handle, nullptr, DNS_REGISTER) == nullptr) {
    Say("FAIL: DdeNameService");
    return 1;
  }
  responder.topic = topic.get().handle;
  responder.item = item.get().handle;
  Say("READY");
  Serve(::GetTickCount64() + 1000ull * seconds);
  ::DdeNameService(id, service.get().handle, nullptr, DNS_UNREGISTER);
  Say("ended");
  return 0;
}
