#pragma once

class QAbstractButton;

namespace bw {

// Makes a button act the moment its mnemonic (Alt and the underlined letter) or its shortcut
// arrives, as the desktop's own buttons do, instead of after Qt's 100 ms press animation: a
// command typed right after it would otherwise reach a window that has not changed yet, and be
// lost. A mnemonic that several buttons share still only moves the focus among them.
void actOnMnemonicAtOnce(QAbstractButton *button);

} // namespace bw
