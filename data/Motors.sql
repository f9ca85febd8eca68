-- Motor catalogue of Quorvance, built into "Motors.mdb" at build time.
--
-- Values are in display units: Ohms, mH, Amps, Volts, N-m/A, Kg-cm^2, RPM (rotary) or
-- Meters/Sec (linear), N/A, Kg, metres (ElectricalCycleLength), C/W and W-s/C.
-- Booleans hold 0 or 1. TypeID: 0 rotary, 1 linear, 2 induction.
--
-- Catalogue groups the families' filters tell apart:
--   QV-R rotary, QV-T trapezoidal, QV-B brush, QV-I induction, QV-L linear, QV-X special build
--   (StandardMotor 0); KVR and KVS: the two series of the maker's own motor code list.
-- Deliberate gaps: QV-R 60-3 A and QV-L 80-2 A have no Protection row (absent from the joined
-- rotary and linear views); QV-R 40-3 A has flux rows 1 to 4 only (absent from every list).

PRAGMA foreign_keys = ON;

CREATE TABLE CommutationTypes (
    CommutationID INTEGER PRIMARY KEY,
    CommutationName TEXT NOT NULL
);

CREATE TABLE EncoderTypes (
    EncoderID INTEGER PRIMARY KEY,
    EncoderName TEXT NOT NULL
);

CREATE TABLE StartupTypes (
    StartupID INTEGER PRIMARY KEY,
    StartupName TEXT NOT NULL
);

CREATE TABLE Motor (
    MotorID INTEGER PRIMARY KEY,
    Model TEXT NOT NULL UNIQUE,
    StandardMotor INTEGER NOT NULL DEFAULT 0,
    TypeID INTEGER NOT NULL DEFAULT 0,
    Resistance REAL,
    Inductance REAL,
    IntermittentCurrent REAL,
    ContinuousCurrent REAL,
    EncoderID INTEGER,
    CommutationID INTEGER,
    StartupID INTEGER,
    HallInputOffset INTEGER,
    IntegralThermostat INTEGER NOT NULL DEFAULT 0,
    SoftwareProtection INTEGER NOT NULL DEFAULT 0,
    RatedVoltage INTEGER,
    IntegralLimits INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Protection (
    MotorID INTEGER PRIMARY KEY REFERENCES Motor (MotorID),
    RthWE REAL,
    CthWE REAL,
    RthWA REAL,
    CthWA REAL
);

CREATE TABLE RotaryMotor (
    MotorID INTEGER PRIMARY KEY REFERENCES Motor (MotorID),
    "Torque Constant" REAL,
    Inertia REAL,
    PolesPerRevolution INTEGER,
    MaximumSpeed REAL,
    LinesPerRevolution INTEGER,
    StallTorque REAL,
    ResolverPoles INTEGER,
    GearBox INTEGER NOT NULL DEFAULT 0,
    GearRatioNumerator INTEGER,
    GearRatioDenominator INTEGER
);

CREATE TABLE LinearMotor (
    MotorID INTEGER PRIMARY KEY REFERENCES Motor (MotorID),
    ForceConstant REAL,
    Mass REAL,
    ElectricalCycleLength REAL,
    MaximumSpeed REAL,
    LinesPerMeter INTEGER
);

CREATE TABLE FluxSaturation (
    MotorID INTEGER NOT NULL REFERENCES Motor (MotorID),
    "Index" INTEGER NOT NULL,
    Current REAL,
    Saturation REAL,
    PRIMARY KEY (MotorID, "Index")
);

INSERT INTO CommutationTypes (CommutationID, CommutationName) VALUES
    (0, 'Brush'),
    (1, 'Trapezoidal'),
    (2, 'Sinusoidal'),
    (3, 'Vector');

INSERT INTO EncoderTypes (EncoderID, EncoderName) VALUES
    (1, 'Incremental'),
    (2, 'Sine/Cosine'),
    (3, 'SRS/SRM'),
    (4, 'SA35'),
    (5, 'SA35 Multi-Turn'),
    (6, 'SKS/SKM'),
    (7, 'Resolver');

INSERT INTO StartupTypes (StartupID, StartupName) VALUES
    (0, 'Self-Sensing'),
    (1, 'Hall Inputs'),
    (2, 'Serial');

INSERT INTO Motor (MotorID, Model, StandardMotor, TypeID, Resistance, Inductance, IntermittentCurrent,
                   ContinuousCurrent, EncoderID, CommutationID, StartupID, HallInputOffset,
                   IntegralThermostat, SoftwareProtection, RatedVoltage, IntegralLimits) VALUES
    ( 1, 'QV-R 40-1 A',  1, 0, 14.2,  21.5,  4.5,  1.5, 1, 2, 1,   0, 0, 1, 230, 0),
    ( 2, 'QV-R 40-2 A',  1, 0,  7.8,  13.0,  7.2,  2.4, 1, 2, 1,   0, 0, 1, 230, 0),
    ( 3, 'QV-R 60-1 A',  1, 0,  4.1,   9.6,  9.0,  3.0, 1, 2, 1,   0, 0, 1, 230, 0),
    ( 4, 'QV-R 60-2 A',  1, 0,  2.3,   6.4, 13.5,  4.5, 1, 2, 2,   0, 0, 1, 230, 0),
    ( 5, 'QV-R 60-2 B',  1, 0,  2.3,   6.4, 13.5,  4.5, 2, 2, 0,   0, 0, 1, 230, 0),
    ( 6, 'QV-R 80-1 A',  1, 0,  1.6,   5.2, 18.0,  6.0, 4, 2, 2,   0, 0, 1, 230, 0),
    ( 7, 'QV-R 80-2 A',  1, 0,  0.95,  3.8, 27.0,  9.0, 4, 2, 2,   0, 0, 1, 230, 0),
    ( 8, 'QV-R 80-3 C',  1, 0,  0.7,   3.1, 33.0, 11.0, 3, 2, 2,   0, 1, 1, 230, 0),
    ( 9, 'QV-R 100-2 C', 1, 0,  0.9,   6.0, 30.0, 10.0, 6, 2, 2,   0, 1, 1, 400, 0),
    (10, 'QV-R 100-3 A', 1, 0,  1.4,   9.8, 24.0,  8.0, 1, 2, 1,   0, 1, 1, 400, 1),
    (11, 'QV-R 130-2 A', 1, 0,  0.62,  7.5, 45.0, 15.0, 1, 2, 1, -30, 1, 1, 400, 0),
    (12, 'QV-R 130-4 A', 1, 0,  0.28,  4.1, 72.0, 24.0, 1, 2, 1,   0, 1, 0, 400, 0),
    (13, 'QV-T 60-2 A',  1, 0,  2.0,   5.5, 12.0,  4.0, 1, 1, 1, 120, 0, 1, 230, 0),
    (14, 'QV-B 40-1',    1, 0,  3.5,   4.2,  8.0,  2.5, 1, 0, 0,   0, 0, 1, 230, 0),
    (15, 'QV-R 60-3 A',  1, 0,  1.5,   4.4, 18.0,  6.0, 1, 2, 1,   0, 0, 1, 230, 0),
    (16, 'QV-R 40-3 A',  1, 0,  5.1,   9.0,  9.6,  3.2, 1, 2, 1,   0, 0, 1, 230, 0),
    (17, 'QV-X 90-1 S',  0, 0,  1.9,   8.2, 15.0,  5.0, 1, 2, 1,  60, 0, 1, 230, 0),
    (18, 'QV-R 100-2 R', 1, 0,  0.9,   6.0, 30.0, 10.0, 7, 2, 1,   0, 1, 1, 400, 0),
    (19, 'QV-I 90-4',    1, 2,  2.8,  45.0, 20.0,  8.5, 1, 3, 0,   0, 1, 1, 400, 0),
    (20, 'KVR 0201A',    1, 0,  6.2,  12.5,  6.0,  2.0, 1, 2, 1,   0, 0, 1, 230, 0),
    (21, 'KVR 0401A',    1, 0,  2.9,   8.1, 11.0,  3.6, 4, 2, 2,   0, 0, 1, 230, 0),
    (22, 'KVR 1502C',    1, 0,  0.41,  3.9, 55.0, 18.5, 4, 2, 2,   0, 1, 1, 400, 0),
    (23, 'KVS 0751A',    1, 0,  1.1,   6.3, 21.0,  7.0, 4, 2, 2,   0, 1, 1, 400, 0),
    (24, 'KVS 1001B',    1, 0,  0.8,   5.9, 25.0,  8.4, 1, 2, 1, 240, 1, 1, 400, 0),
    (30, 'QV-L 25-1 A',  1, 1,  9.8,   4.6,  6.0,  2.0, 1, 2, 1,   0, 0, 1, 230, 0),
    (31, 'QV-L 25-2 A',  1, 1,  5.0,   2.4, 12.0,  4.0, 1, 2, 1,   0, 0, 1, 230, 0),
    (32, 'QV-L 50-2 A',  1, 1,  3.4,   9.5, 15.0,  5.0, 2, 2, 0,   0, 1, 1, 230, 0),
    (33, 'QV-L 50-4 A',  1, 1,  1.8,   5.1, 30.0, 10.0, 1, 2, 1,   0, 1, 1, 400, 1),
    (34, 'QV-L 80-2 A',  1, 1,  2.2,  12.0, 24.0,  8.0, 1, 2, 1,   0, 1, 1, 400, 0);

INSERT INTO RotaryMotor (MotorID, "Torque Constant", Inertia, PolesPerRevolution, MaximumSpeed,
                         LinesPerRevolution, StallTorque, ResolverPoles, GearBox, GearRatioNumerator,
                         GearRatioDenominator) VALUES
    ( 1, 0.18,  0.032,  8, 6000,   2000, 0.27, 0, 0,  1, 1),
    ( 2, 0.22,  0.058,  8, 6000,   2000, 0.53, 0, 0,  1, 1),
    ( 3, 0.32,  0.18,   8, 5000,   4096, 0.96, 0, 0,  1, 1),
    ( 4, 0.36,  0.34,   8, 5000,   4096, 1.62, 0, 0,  1, 1),
    ( 5, 0.36,  0.34,   8, 5000,   1024, 1.62, 0, 0,  1, 1),
    ( 6, 0.48,  0.92,   8, 4500, 131072, 2.88, 0, 0,  1, 1),
    ( 7, 0.52,  1.65,   8, 4500, 131072, 4.68, 0, 0,  1, 1),
    ( 8, 0.55,  2.4,    8, 4000,   1024, 6.05, 0, 0,  1, 1),
    ( 9, 0.86,  4.8,   10, 3500,   1024, 8.6,  0, 0,  1, 1),
    (10, 1.05,  6.9,   10, 3000,   5000, 8.4,  0, 1, 10, 1),
    (11, 1.32, 14.6,   10, 3000,   5000, 19.8, 0, 0,  1, 1),
    (12, 1.48, 27.5,   10, 3000,   5000, 35.5, 0, 0,  1, 1),
    (13, 0.34,  0.3,    8, 5000,   2000, 1.36, 0, 0,  1, 1),
    (14, 0.09,  0.05,   2, 4000,    500, 0.22, 0, 0,  1, 1),
    (15, 0.38,  0.5,    8, 5000,   4096, 2.28, 0, 0,  1, 1),
    (16, 0.24,  0.084,  8, 6000,   2000, 0.77, 0, 0,  1, 1),
    (17, 0.62,  1.2,    8, 4000,   2500, 3.1,  0, 1,  7, 2),
    (18, 0.86,  4.8,   10, 3500,   4096, 8.6,  2, 0,  1, 1),
    (19, 0.95, 12.0,    4, 3000,   1024, 8.1,  0, 0,  1, 1),
    (20, 0.31,  0.12,   8, 3000,   2500, 0.62, 0, 0,  1, 1),
    (21, 0.35,  0.26,   8, 3000, 131072, 1.26, 0, 0,  1, 1),
    (22, 0.78,  9.9,   10, 2000, 131072, 14.4, 0, 0,  1, 1),
    (23, 0.95,  6.6,    8, 2000, 131072, 6.65, 0, 0,  1, 1),
    (24, 1.1,  10.2,    8, 2000,   2500, 9.24, 0, 1,  5, 1);

INSERT INTO LinearMotor (MotorID, ForceConstant, Mass, ElectricalCycleLength, MaximumSpeed,
                         LinesPerMeter) VALUES
    (30, 22.5, 0.85, 0.032, 5.0,  200000),
    (31, 24.0, 1.3,  0.032, 5.0,  200000),
    (32, 48.0, 2.6,  0.06,  4.0,   50000),
    (33, 52.0, 4.9,  0.06,  4.0, 1000000),
    (34, 85.0, 6.5,  0.096, 3.0,  200000);

-- No rows for 15 (QV-R 60-3 A) and 34 (QV-L 80-2 A).
INSERT INTO Protection (MotorID, RthWE, CthWE, RthWA, CthWA) VALUES
    ( 1, 2.6,  18.0, 1.9,   620),
    ( 2, 2.2,  24.0, 1.6,   810),
    ( 3, 1.5,  42.0, 1.1,  1450),
    ( 4, 1.2,  55.0, 0.95, 1900),
    ( 5, 1.2,  55.0, 0.95, 1900),
    ( 6, 0.9,  80.0, 0.72, 2900),
    ( 7, 0.75, 105.0, 0.6, 3800),
    ( 8, 0.66, 128.0, 0.52, 4600),
    ( 9, 0.58, 160.0, 0.45, 6200),
    (10, 0.5,  190.0, 0.4,  7400),
    (11, 0.36, 290.0, 0.3, 11800),
    (12, 0.24, 470.0, 0.21, 19500),
    (13, 1.3,  50.0, 1.0,  1700),
    (14, 3.1,  15.0, 2.4,   540),
    (16, 1.9,  30.0, 1.4,  1100),
    (17, 0.8,  95.0, 0.65, 3300),
    (18, 0.58, 160.0, 0.45, 6200),
    (19, 0.42, 260.0, 0.35, 10500),
    (20, 1.7,  38.0, 1.3,  1300),
    (21, 1.25, 52.0, 0.98, 1850),
    (22, 0.3,  380.0, 0.26, 15000),
    (23, 0.62, 150.0, 0.5,  5600),
    (24, 0.52, 185.0, 0.42, 7100),
    (30, 1.8,  35.0, 1.4,  1200),
    (31, 1.4,  48.0, 1.1,  1650),
    (32, 0.95, 85.0, 0.78, 3000),
    (33, 0.6,  150.0, 0.5,  5500);

-- Flux saturation rows, Index 1 (1/8 of peak current) to 8 (peak). Current is the fraction of
-- peak current; Saturation the remaining torque or force constant fraction at that current.
CREATE TEMP TABLE FluxProfile (Profile TEXT, Idx INTEGER, Saturation REAL);
INSERT INTO FluxProfile (Profile, Idx, Saturation) VALUES
    ('flat', 1, 1.0), ('flat', 2, 1.0), ('flat', 3, 1.0), ('flat', 4, 1.0),
    ('flat', 5, 1.0), ('flat', 6, 1.0), ('flat', 7, 1.0), ('flat', 8, 1.0),
    ('soft', 1, 1.0), ('soft', 2, 1.0), ('soft', 3, 1.0), ('soft', 4, 1.0),
    ('soft', 5, 0.98), ('soft', 6, 0.96), ('soft', 7, 0.94), ('soft', 8, 0.92),
    ('hard', 1, 1.0), ('hard', 2, 1.0), ('hard', 3, 0.97), ('hard', 4, 0.94),
    ('hard', 5, 0.9), ('hard', 6, 0.86), ('hard', 7, 0.82), ('hard', 8, 0.78);

CREATE TEMP TABLE MotorFlux (MotorID INTEGER, Profile TEXT, LastIdx INTEGER);
INSERT INTO MotorFlux (MotorID, Profile, LastIdx) VALUES
    ( 1, 'flat', 8), ( 2, 'flat', 8), ( 3, 'flat', 8), ( 4, 'flat', 8), ( 5, 'soft', 8),
    ( 6, 'flat', 8), ( 7, 'soft', 8), ( 8, 'flat', 8), ( 9, 'soft', 8), (10, 'flat', 8),
    (11, 'hard', 8), (12, 'flat', 8), (13, 'flat', 8), (14, 'flat', 8), (15, 'flat', 8),
    (16, 'flat', 4), (17, 'flat', 8), (18, 'flat', 8), (19, 'flat', 8), (20, 'flat', 8),
    (21, 'flat', 8), (22, 'flat', 8), (23, 'flat', 8), (24, 'soft', 8), (30, 'flat', 8),
    (31, 'flat', 8), (32, 'soft', 8), (33, 'flat', 8), (34, 'flat', 8);

INSERT INTO FluxSaturation (MotorID, "Index", Current, Saturation)
SELECT m.MotorID, p.Idx, p.Idx * 0.125, p.Saturation
FROM MotorFlux m JOIN FluxProfile p ON p.Profile = m.Profile AND p.Idx <= m.LastIdx
ORDER BY m.MotorID, p.Idx;

DROP TABLE FluxProfile;
DROP TABLE MotorFlux;
