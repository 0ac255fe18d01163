// A menu bar whose entries are all disabled has nothing to offer the keyboard. Qt would still
// move the focus into it on Alt or F10 and highlight an entry on its mnemonic, and a user who
// then tabs away leaves the entry highlighted and reported focused. Such a bar keeps the keyboard
// out: the focus stays where it is and no entry is highlighted.
#pragma once

class QMenuBar;

namespace korva::qt {

// From now on, while none of bar's entries is enabled, the keyboard does not enter bar.
void KeepKeyboardOutWhileInert(QMenuBar& bar);

}  // namespace korva::qt
