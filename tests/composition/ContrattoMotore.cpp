// The contract suite against the built-in engine, read back from the PDF it prints.
#include "BackendMotore.h"
#include "ContrattoComposizioneTest.h"

namespace lumetra::composition::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Motore, ContrattoComposizione, BackendMotore);

} // namespace lumetra::composition::test
