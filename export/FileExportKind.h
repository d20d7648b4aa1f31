// The file export commands.
#pragma once

enum class FileExportKind { Marc, Text, Xml, XslTransformation, MarcText };
