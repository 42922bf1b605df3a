#include <fcntl.h>
#include <io.h>

#include <array>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platforma.h"
#include "program.h"
#include "win32.h"

namespace {

// An ostream's buffer emptied into a platform output, which knows a console
// from a pipe or file.
class Bufor final : public std::streambuf {
  public:
    explicit Bufor(platforma::Wyjscie& cel) : cel_(cel) {
        setp(bufor_.data(), bufor_.data() + bufor_.size());
    }

  protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    int sync() override {
        const std::string_view bajty(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(bufor_.data(), bufor_.data() + bufor_.size());
        return cel_.pisz(bajty) && cel_.splucz() ? 0 : -1;
    }

  private:
    platforma::Wyjscie& cel_;
    std::array<char, 16384> bufor_{};
};

}  // namespace

// -municode: arguments arrive as UTF-16, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    // Nothing in the C runtime may turn LF into CRLF or stop reading at 0x1A.
    for (const int fd : {0, 1, 2}) _setmode(fd, _O_BINARY);
    std::vector<std::string> argumenty;
    for (int i = 1; i < argc; ++i) argumenty.push_back(platforma::utf8(argv[i]));
    platforma::Wyjscie& daneBajty = platforma::standardoweWyjscie();
    platforma::Wyjscie& bledyBajty = platforma::standardoweBledy();
    Bufor daneBufor(daneBajty);
    Bufor bledyBufor(bledyBajty);
    std::ostream dane(&daneBufor);
    std::ostream bledy(&bledyBufor);
    bledy << std::unitbuf;  // unbuffered, as std::cerr
    const int kod = cli::uruchom(argumenty, dane, bledy, daneBajty, bledyBajty);
    dane.flush();
    return kod;
}
