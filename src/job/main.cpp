#include "job/run.h"

int main() { return tilecut::run(); }
