#pragma once
// The benchmark program's parts. Each area adds one function here (defined in its own .cpp in this
// folder) and one line to the list in main.cpp. A part prints its figures and returns 0 when it ran.

namespace bench {
// Opening the product list against a bare read of its query, for 1,000 to 100,000 products.
int catalogue();
// Opening the deal worksheet and loading one template against a bare read of the catalogue.
int deal();
// Creating the template editor and loading one template against a bare read of the catalogue.
int packages();
// Writing the catalogue as CSV and reading it back, in memory and through a file; the list's export and
// import through the store.
int csv();
// The deal file at 100,000 deals: the history against a bare read of its rows, the report, saving a deal.
int choice();
// The same on a PostgreSQL server (QUORVEL_BENCH_SERVER, the argument after "server", or a throwaway
// cluster): list, worksheet and history against a bare libpq read, the report, saving a deal.
int server();
// 50 desks, each its own store in its own thread, saving 100 deals each at once on one server: every deal
// checked as stored whole, the report against what was saved; the saves' median and 99th percentile.
int desks();
} // namespace bench
