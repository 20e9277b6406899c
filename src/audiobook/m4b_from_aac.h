#pragma once
// The M4B book made of the blocks' own AAC files (see aac_block_files.h):
// their packets copied one after another, nothing encoded again.

#include "audiobook/book_file_commands.h"

// The blocks of the join list, with the chapters and tags of the metadata
// file and the cover as attached picture. Each block keeps all its packets,
// the encoder's priming too: the packets are numbered anew one after
// another, so no packet is dropped or moved where blocks meet, and the
// first block's priming is hidden by the book's edit list. Chapter n then
// starts exactly after the packets of the blocks before it (the lengths
// m4aPacketSeconds gives).
ProcessRequest m4bFromAacRequest(const BookFileInputs &inputs);
