// Temporary: the end-to-end driver is being written.
int main() { return 0; }
