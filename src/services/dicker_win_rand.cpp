#include "dicker_win_rand.h"

#include "plattform.h"
#include "win32_dienste.h"

namespace griffwandler::services {

quint32 mitClientEdge(quint32 exStyle)
{
    return win32::withClientEdge(exStyle);
}

void DickenRandSetzen(WId hWnd)
{
    plattform().dickenRandSetzen(hWnd);
}

} // namespace griffwandler::services
