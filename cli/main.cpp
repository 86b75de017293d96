#include "cli.h"
#include "install_translations.h"

#include <QCoreApplication>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// A batch allocates and frees the same blocks for every picture: the pictures, their
// exports and their encodings. Kept in the heap once freed, up to this size, they are taken
// again without the kernel mapping and clearing new pages each time.
void keep_freed_blocks()
{
#if defined(__GLIBC__)
    constexpr int kept_up_to = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kept_up_to);
    mallopt(M_TRIM_THRESHOLD, 4 * kept_up_to);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    keep_freed_blocks();
    QCoreApplication application(argc, argv);
    install_translations(application);
    return run_cli(QCoreApplication::arguments());
}
