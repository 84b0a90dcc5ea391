#include "modGenerale.h"

namespace lumetra::modGenerale {

std::shared_ptr<platform::FileSystemObject> objFileSystem;

} // namespace lumetra::modGenerale
