// Joining a directory listing into the data-file index: each file's last
// update and size go to the first entry that stands for that file. Each
// join is one pass over the index and one over the listing.
#pragma once

#include <vector>

#include "control/index_entry.h"
#include "control/register_entry.h"
#include "platform/host/directory_listing.h"

namespace verdan {

// The command interpreter's listing: a line's 12-byte key is looked for
// among the entries' match keys.
void join_listing_lines(std::vector<IndexEntry>& index, const std::vector<ListingFact>& lines);

// Files taken from the file system: an entry stands for the file its whole
// name reaches, the way a path reaches it (the exact name, else the first
// name in byte order that differs only in ASCII case). Names that differ in
// their extension never share facts.
void join_listed_files(std::vector<IndexEntry>& index, const std::vector<ListedFile>& files);

// Owners' names: the first register entry with the entry's number.
void join_owner_names(std::vector<IndexEntry>& index, const std::vector<RegisterEntry>& register_entries);

}  // namespace verdan
