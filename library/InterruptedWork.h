#pragma once

// What a killed Tandril left unfinished: an import's swap or a delete in the library folder is
// finished or undone, and staging folders whose process is gone are removed. Run at every start,
// of the window and of each command; it waits for no other process.
namespace InterruptedWork {

void finish();

} // namespace InterruptedWork
