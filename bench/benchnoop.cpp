// The cheapest program there is, linked statically: bench/run starts it once per analysed file to
// show what starting a process costs on this machine, beside the tool's cost per file.
int main()
{
    return 0;
}
