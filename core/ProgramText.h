#pragma once

#include <QString>

// The program's name and version, and the texts that several windows share.
// The version comes from the build (the project's version in CMake).
namespace ProgramText {

// The title of every message box, and the program's name wherever it stands.
inline const QString Title = QStringLiteral("Quillmere");
inline const QString Version = QStringLiteral(QUILLMERE_VERSION);
// The caption of the main window, the About box and the closing screen.
inline const QString Caption = Title + QStringLiteral(" v") + Version;

// Asked for when a panel's Next is pressed with none of its options chosen.
inline const QString SelectAnOption = QStringLiteral("Please select an option");

} // namespace ProgramText
