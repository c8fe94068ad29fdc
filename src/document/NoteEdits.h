#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "store/NoteStore.h"

// Changes of the note store that keep its invariants: texts packed in note
// order; entry noteCount + 1 (the new-note slot) zeroed and on the first free
// byte; at least one pool byte free; every pool byte past the used part zero
// (poolHighWater lowered to the used part); reminderCount equal to the number
// of REMINDER_ACTIVE entries; dirty set. Texts hold no zero byte; length
// limits and messages are the caller's.

// Counts of reminders never wrap below zero, so a miscounted file cannot
// turn into four billion.
void DecreaseCount(std::atomic<uint32_t>& count, uint32_t amount = 1);

// Pool bytes a change may add while one byte stays free: the room check.
bool PoolHasRoomFor(const NoteStore& store, int64_t growth);

// Replaces the text of note `number` (1..noteCount), later texts shifting by
// the difference; number noteCount + 1 stores the slot's text as a new last
// note (noteCount grows). Dates are the caller's. False, and the store
// unchanged, when no pool byte would stay free, the index is full or the
// number is out of range.
[[nodiscard]] bool WriteNoteText(NoteStore& store, uint32_t number, const char* text,
                                 uint32_t length);

// Removes note `number` (1..noteCount); a pending reminder leaves the count.
// currentNote is the caller's.
void RemoveNote(NoteStore& store, uint32_t number);

// Removes the notes `numbers` lists (ascending, each 1..noteCount, no
// repeats) in one pass over the pool and the index; pending reminders leave
// the count. currentNote is the caller's.
void RemoveNotes(NoteStore& store, const std::vector<uint32_t>& numbers);

// Inserts a note in front of note `position` (past noteCount: appends) with
// the dates, flags and reminder of `fields`. False, and the store unchanged,
// when the index is full or no pool byte would stay free.
[[nodiscard]] bool PlaceNote(NoteStore& store, uint32_t position, const char* text,
                             uint32_t length, const NoteEntry& fields);
