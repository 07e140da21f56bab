#pragma once
// The program's modules: libraries of its own loaded only when first needed (the downloads, the
// printing), so that a run that never needs one never loads it, nor the Qt library it brings.
// An installed copy keeps them in the package's library folder; in the build tree they lie
// beside the programs.
#include <QString>
#include <QtGlobal>

namespace text {

// The function `symbol` of the module file `fileName` (loaded for the rest of the run); null,
// with `problem` saying why, when the module cannot be found or loaded. Needs a
// QCoreApplication, whose folder it searches from.
QFunctionPointer ModuleFunction(const QString& fileName, const char* symbol, QString& problem);

} // namespace text
