// A program that does nothing: the version tests read the resources built into copies of it.
int main()
{
    return 0;
}
