#include "dicker_win_rand.h"

#include "plattform.h"

namespace griffwandler::services {

void DickenRandSetzen(WId hWnd)
{
    plattform().dickenRandSetzen(hWnd);
}

} // namespace griffwandler::services
