// A generated die for the benchmarks: a session of any number of parts with
// 30 attributes each, and a view configuration of 5,000 groups.
//
// The die: the display part holds 50 section assemblies, each holding its
// share of the parts once. Every part carries its section's title, a type,
// a station, a material and 26 more attributes. The configuration: a root
// with 50 section groups (each with 97 type groups and an _OTHER group that
// gathers the parts of the types left out), and a stations group with 48
// stations. From 5,000 parts on, the build makes 5,000 rows.
//
// A chain of groups: rows nested that many levels deep, every level below
// the top one showing the one component of the display part. The file
// itself nests only three deep, as some parsers stop far sooner.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

nlohmann::json GeneratedDieSession(int parts);
std::string GeneratedDieConfig();
// Loads the session of that many parts into the simulated host; false,
// with the host's reason in error, when it refuses it.
bool LoadGeneratedDie(int parts, std::string* error);
// Writes the configuration below directory (created if needed); its path.
std::string WriteGeneratedDieConfig(const std::string& directory);

// Side-by-side _OTHER groups: a session of 10 parts (the display part, 3
// assemblies of type ASM with 2 parts each) and a configuration whose ASM
// group holds 4,998 _OTHER groups, 5,000 rows in all. Legal, if unusual.
nlohmann::json OtherGroupsSession();
std::string OtherGroupsConfig();
bool LoadOtherGroups(std::string* error);
// Writes the configuration below directory (created if needed); its path.
std::string WriteOtherGroupsConfig(const std::string& directory);

nlohmann::json GroupChainSession();
std::string GroupChainConfig(int levels);

// Loads session into the host as the View Manager finds its configuration
// there: the product directory productDir holding config as its view
// configuration, named by the customer defaults. False, with the host's
// reason in error, when the host refuses the session.
bool LoadViewManagerSession(nlohmann::json session, const std::string& config,
                            const std::string& productDir, std::string* error);
