#include "controls/product_buttons.h"

namespace quellix::controls {
namespace {

// The caption and the enabled state are the form's (HostedButton takes them from its control
// description), so the store holds neither. Every button uses the custom colour scheme, the
// Arial 8.25 pt font (character set 178), a white mask colour with the mask on, the arrow
// pointer and an icon left of its caption.
constexpr std::string_view kStore = R"store(
# Page buttons of the main window, two-state: each click toggles their down look.
Begin Form1.drawnButton1
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
  CHECK = -1
End
Begin Form1.drawnButton2
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "option"
  SOFT = -1
  CHECK = -1
End
Begin Form1.drawnButton20
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "help"
  SOFT = -1
  CHECK = -1
End
Begin Form1.drawnButton13
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "info"
  SOFT = -1
  CHECK = -1
End
Begin Form1.drawnButton14
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
  CHECK = -1
End

# Commands of the main window, the options page, the log panel and the dialogs.
Begin Form1.drawnButton8
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
End
Begin Form1.drawnButton9
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "option"
  SOFT = -1
End
Begin Form1.drawnButton7
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "exit"
  SOFT = -1
End
Begin Form1.drawnButton21
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End
Begin Form1.drawnButton22
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "disable"
  SOFT = -1
End
Begin Form1.drawnButton10
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "tray"
  SOFT = -1
End
Begin Form1.drawnButton23
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "dis"
  SOFT = -1
End
Begin Form2.drawnButton8
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
End
Begin Form2.drawnButton7
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "dis"
  SOFT = -1
End
Begin Form3.drawnButton8
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
End
Begin Form3.drawnButton7
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "dis"
  SOFT = -1
End
Begin Form4.drawnButton1
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
End

Begin Form5.drawnButton8
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "a"
  SOFT = -1
End
Begin Form5.drawnButton7
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "dis"
  SOFT = -1
End

# The rules page's button, and its bar of buttons.
Begin Form1.drawnButton30
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  FOCUSR = 0
  BCOL = 0x00E6BA9D
  BCOLO = 0x00E6BA9D
  FCOL = 0x00000000
  FCOLO = 0x00FFFFFF
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
  CHECK = -1
End
Begin Form1.drawnButton31
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "add"
  SOFT = -1
End
Begin Form1.drawnButton32
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "addnew"
  SOFT = -1
End
Begin Form1.drawnButton33
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "disable"
  SOFT = -1
End
Begin Form1.drawnButton34
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End
Begin Form1.drawnButton35
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End

# Block list buttons of the caption page; Edit and Remove wait for a selected entry.
Begin Form1.drawnButton4
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "add"
  SOFT = -1
End
Begin Form1.drawnButton5
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "addnew"
  SOFT = -1
End
Begin Form1.drawnButton6
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "disable"
  SOFT = -1
End
Begin Form1.drawnButton11
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End
Begin Form1.drawnButton12
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End

# The same bar on the server list page.
Begin Form1.drawnButton15
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "add"
  SOFT = -1
End
Begin Form1.drawnButton16
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "addnew"
  SOFT = -1
End
Begin Form1.drawnButton17
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "disable"
  SOFT = -1
End
Begin Form1.drawnButton18
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End
Begin Form1.drawnButton19
  BTYPE = 9
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00FAD8CB
  BCOLO = 0x00FAD8CB
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
  SOFT = -1
End

# The sound file's Browse button on the options page.
Begin Form1.drawnButton3
  BTYPE = 8
  FONT = "Arial" 8.25 400 0 0 0 178
  COLTYPE = 2
  BCOL = 0x00E9E9E9
  BCOLO = 0x00E9E9E9
  FCOL = 0x00000000
  FCOLO = 0x00000000
  MCOL = 0x00FFFFFF
  MPTR = 1
  PICN = "open"
End
)store";

}  // namespace

std::string_view ProductButtonStore() {
  return kStore;
}

const std::vector<StoredControl>& ProductButtons() {
  static const std::vector<StoredControl> buttons = ReadStore(kStore);
  return buttons;
}

}  // namespace quellix::controls
