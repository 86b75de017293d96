#include "WinMain.h"

#include "TApplication.h"

int main(int argc, char* argv[])
{
    Application->Arguments(argc, argv);
    const int status = WinMain();
    Application->Release();
    return status;
}
