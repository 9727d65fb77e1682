// Linked with one layer of the skin engine whole and the layers below it: a layer that calls
// upward leaves an undefined reference here, and the build stops.
int main() { return 0; }
