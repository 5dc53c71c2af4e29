#include "terminal/core/hostthread.h"

std::atomic<u32> ConnectionLost{0};

void StartHostDataThread() {}
void StopHostDataThread() {}
void SetHostThreadPriority(int) {}
void ReapplyKeyboardLock() {}
