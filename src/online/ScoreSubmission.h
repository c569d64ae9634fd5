// Sending a finished game's score to the online high-score list: the name, the score and the
// country packed into one text, spelled in the server's 32 symbols, in one GET request.
#pragma once

#include <cstdint>
#include <string>

// The server's symbols for the values 0..31; it decodes with the same table.
inline constexpr char kScoreSymbols[] = "KX7HQ2MBV9TCR4WPD5NFZ8GJ3YES6UA1";
// The letter the server expects in every request's key field.
inline constexpr char kScoreKeyLetter = 'R';

// Name and country as they go into the payload: only letters, digits, spaces and underscores,
// at most maxLength characters. A '|' or '=' would forge a field of its own.
std::string PayloadSafeText(const std::string& text, size_t maxLength);
// The text the server decodes, padded with "0" to a multiple of 5 characters.
std::string BuildScorePayload(const std::string& name, int32_t score, const std::string& country);
// Every byte as 8 bits, most significant first, read back 5 bits a symbol: 8 symbols for every
// 5 bytes.
std::string EncodePayload(const std::string& payload);
// The address of the request that submits the score.
std::string ScoreSubmissionUrl(const std::string& name, int32_t score, const std::string& country);
