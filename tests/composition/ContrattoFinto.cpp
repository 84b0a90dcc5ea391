// The contract suite against the recording fake.
#include "BackendFinto.h"
#include "ContrattoComposizioneTest.h"

namespace lumetra::composition::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Finto, ContrattoComposizione, BackendFinto);

} // namespace lumetra::composition::test
