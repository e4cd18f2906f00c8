#pragma once
// The operating-system services the product uses, handed to the core as one bundle.

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dde.h"
#include "platform/desktop.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/sound.h"

namespace quellix::platform {

struct Services {
  Desktop& desktop;
  Registry& registry;
  Clock& clock;
  Sound& sound;
  FileSystem& files;
  MessageBoxes& messages;
  FileDialogs& file_dialogs;
  DdeClient& dde;
  CodePage& code_page;
};

}  // namespace quellix::platform
