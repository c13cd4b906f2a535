#pragma once

class QWidget;

namespace griffwandler::services {

// The sunken client edge drawn by the program where the window system has no
// native one: a 2 px classic sunken border over the rim of the client area of
// `window`, above every other child, letting clicks through. Shown from the
// window's first show; a second call changes nothing more.
void klientRandZeigen(QWidget &window);

// objectName of the border widget.
inline constexpr char16_t KlientRandName[] = u"griffwandlerKlientRand";

} // namespace griffwandler::services
