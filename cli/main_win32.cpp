#include <fcntl.h>
#include <io.h>

#include <ostream>
#include <string>
#include <vector>

#include "platforma.h"
#include "program.h"
#include "win32.h"

// -municode: arguments arrive as UTF-16, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    // Nothing in the C runtime may turn LF into CRLF or stop reading at 0x1A.
    for (const int fd : {0, 1, 2}) _setmode(fd, _O_BINARY);
    std::vector<std::string> argumenty;
    for (int i = 1; i < argc; ++i) argumenty.push_back(platform::utf8(argv[i]));
    platform::Wyjscie& daneBajty = platform::standardoweWyjscie();
    platform::Wyjscie& bledyBajty = platform::standardoweBledy();
    platform::BuforWyjscia daneBufor(daneBajty);
    platform::BuforWyjscia bledyBufor(bledyBajty);
    std::ostream dane(&daneBufor);
    std::ostream bledy(&bledyBufor);
    bledy << std::unitbuf;  // unbuffered, as std::cerr
    const int kod = cli::uruchom(argumenty, dane, bledy, daneBajty, bledyBajty);
    dane.flush();
    return kod;
}
