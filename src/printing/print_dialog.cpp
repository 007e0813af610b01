#include "printing/print_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <dlfcn.h>

namespace quill {

namespace {

QString& moduleFolder() {
    static QString folder;
    return folder;
}

// The entry point of the module, loaded on the first call; null when it cannot be loaded.
// The module stays loaded for the next print.
PrintEntry loadPrintModule() {
    const QString folder =
        moduleFolder().isEmpty() ? QCoreApplication::applicationDirPath() : moduleFolder();
    const QByteArray path =
        QFile::encodeName(QDir(folder).filePath(QLatin1String(kPrintModuleFile)));
    void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "quillsum: printing is not available: %s\n", ::dlerror());
        return nullptr;
    }
    return reinterpret_cast<PrintEntry>(::dlsym(module, kPrintEntryName));
}

} // namespace

void setPrintModuleFolder(const QString& folder) {
    moduleFolder() = folder;
}

PrintOutcome printThroughDialog(QWidget* parent, const PrintJob& job) {
    const PrintEntry entry = loadPrintModule();
    return entry ? entry(parent, job) : PrintOutcome::Failed;
}

} // namespace quill
