#include <cstdio>

int main() {
  std::puts("tarvo12-sim: the simulator is not built yet; `make demo` will run its demo here.");
  return 0;
}
