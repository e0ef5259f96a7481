// Placeholder entry until the typing game lands.
int main() { return 0; }
