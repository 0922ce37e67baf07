// Operations whose behaviour is not built yet:
// printing and title tips. They
// exist so the grid's virtual operations keep their order and derived grids
// can already override them; each does nothing (or reports failure) until its
// own file replaces the body here.
#include "grid/CGridCtrl.h"


