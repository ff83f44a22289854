// Program entry. The engine's own main runs the core start-up, the game and the core shut-down.
int main()
{
    return 0;
}
