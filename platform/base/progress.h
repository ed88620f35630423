// A count that long work advances as it goes (a read, a list handed to the GL driver, a frame
// written): a watch tells a program that is busy from one that stopped.
#pragma once

namespace fw
{
// Cheap enough for every buffer read and every list drawn.
void NoteProgress() noexcept;
unsigned long long ProgressCount() noexcept;
} // namespace fw
