#pragma once
// The pop-up spawner's view into the product's own windows, for the Wine scenarios: where a
// control stands on screen, its text, its rows, and a click sent to it.

#include <string>

namespace quellix::tools {

// Answers one inspection command, or returns "" when `verb` is not one of them. `args` is
// the rest of the command line; fields are separated by '|'. Texts come and go in UTF-8 and
// are read as Unicode. Only shown controls are found (a control placed outside the client
// area is still a shown one).
//   rect <form caption>|<control text>           -> rect <left> <top> <right> <bottom> | rect none
//   rectof <form caption>|<class>|<n>            -> the same, for the n-th shown control of that class
//                                                   (0-based, topmost first)
//   textof <form caption>|<class>|<n>            -> text <window text>
//   pathof <form caption>|<class>|<n>            -> path <window text>  (of a field holding a path)
//   countof <form caption>|<class>|<n>           -> count <rows of a list view or list box>
//   selectedof <form caption>|<class>|<n>        -> selected <1-based row of a list view, 0 for none>
//   textafter <form caption>|<control text>      -> text <window text of the control made next>
//   enabled <form caption>|<control text>        -> enabled <0|1>
//   checked <form caption>|<control text>        -> checked <0|1|2>  (BM_GETCHECK of a check box)
//   click <form caption>|<control text>          -> clicked <0|1>  (BM_CLICK, posted)
//   regvalue <HKCU|HKLM>|<key>|<name>            -> value <bytes> <data, NULs as \0> | value none
//   regpath <HKCU|HKLM>|<key>|<name>             -> path <REG_SZ text as Unicode, in UTF-8> | path none
//   hardlink <existing file>|<new name>          -> linked <0|1>  (UTF-8 paths; CreateHardLinkW)
//   links <file>                                 -> links <names the file has> | links none
//   state <form caption>                         -> state visible=<0|1> iconic=<0|1> | state none
//   gdi                                          -> gdi <GDI objects the running program holds> | gdi none
//   churn <form caption>|<control text>|<n>      -> churned <n>: n presses released off the control
//                                                   (no click), each followed by a repaint
//   accessible <form caption>|<control text>     -> accessible role=<n> state=<hex> action=<text> name=<text>
//                                                   | accessible none  (the control's accessible object)
//   press <form caption>|<control text>          -> pressed <0|1>  (its accessible default action)
std::string Probe(const std::string& verb, const std::string& args);

}  // namespace quellix::tools
