// One source of a layer that includes one header, KORVEL_LAYER_HEADER: the layer include tests
// build it to show which headers a layer sees.
#include KORVEL_LAYER_HEADER
