// Reading the add-on's description from setup.lst.
#pragma once
#include <string>

#include "remover/removal_names.h"

// Value of key `Voce` in section `sezione` of the INI file `nomeini`, or
// `default_` where the key is missing; cut to 249 characters.
std::string leggistringa(const std::string& sezione, const std::string& Voce,
                         const std::string& default_, const std::string& nomeini);

// Type, Core and Title, read in that order.
SetupKeys ReadSetupKeys(const std::string& setupListPath);
