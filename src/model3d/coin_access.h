#pragma once
// Coin's start-up and the lock every use of Coin holds. Debian's Coin is built without its
// thread-safe mode: two threads must never use it at once, whether they draw a scene or read the
// stand's triangles.

#include <mutex>

namespace halvern {

// Every use of Coin (reading, drawing, dropping a scene) holds this lock.
std::recursive_mutex& coin_lock();

// Coin's database, started once; safe to call any number of times.
void init_coin_database();

} // namespace halvern
