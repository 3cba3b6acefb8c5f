// The one place that picks this backend: the program links exactly one.
#include "toolkit/fltk/fltk_toolkit.h"

namespace molvane::toolkit {

std::unique_ptr<Toolkit> MakeToolkit() { return std::make_unique<fltk::FltkToolkit>(); }

}  // namespace molvane::toolkit
