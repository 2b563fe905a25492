#pragma once

#include <QCollator>

// Orderings as the desktop shows them to people: letter case ignored, and for file names digit
// runs compared by their value (game9 before game10).
namespace Collation {

QCollator fileNameCollator();
QCollator titleCollator();

} // namespace Collation
