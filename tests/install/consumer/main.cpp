#include "vqge.h"
int main() { return VqGe::gLibVersion == VqGeLibVersion::kReleasePyr ? 0 : 1; }
