// Program entry; the frame window is built in the next step.
int main() { return 0; }
