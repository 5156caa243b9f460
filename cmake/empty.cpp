// Keeps a rule library valid while its folder has no rule file yet.
