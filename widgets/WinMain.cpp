#include "WinMain.h"

#include "ShowMessage.h"
#include "TApplication.h"
#include "desktop_session.h"

#include <string>

int main(int argc, char* argv[])
{
    if (const std::string refusal = missing_desktop_session(argc, argv); !refusal.empty()) {
        standard_error_line(refusal);
        return 1;
    }
    Application->Arguments(argc, argv);
    const int status = WinMain();
    Application->Release();
    return status;
}
