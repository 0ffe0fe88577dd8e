#include "app/corvane_new_app.h"

int main(int argc, char** argv) { return corvane::runCorvane(argc, argv); }
