object MainForm: TMainForm
  BorderStyle = bsDialog
  Caption = 'Velloran'
  ClientHeight = 127
  ClientWidth = 378
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Verdana'
  Font.Style = []
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 117
    Height = 13
    Caption = 'Change your status:'
  end
  object Status: TEdit
    Left = 8
    Top = 24
    Width = 361
    Height = 21
    TabOrder = 0
    OnKeyPress = StatusKeyPress
  end
  object btnOK: TButton
    Left = 216
    Top = 54
    Width = 75
    Height = 23
    Caption = 'OK'
    TabOrder = 1
    OnClick = btnOKClick
  end
  object btnCancel: TButton
    Left = 296
    Top = 54
    Width = 75
    Height = 23
    Caption = 'Cancel'
    TabOrder = 2
    OnClick = btnCancelClick
  end
  object chkBusy: TCheckBox
    Left = 8
    Top = 56
    Width = 201
    Height = 17
    Caption = 'Show busy icon'
    TabOrder = 3
    OnClick = chkBusyClick
  end
  object chkTrillian: TCheckBox
    Left = 8
    Top = 88
    Width = 361
    Height = 17
    Caption = 'Change Trillian status message also'
    TabOrder = 4
    OnClick = chkTrillianClick
  end
  object chkAutoRespond: TCheckBox
    Left = 32
    Top = 106
    Width = 337
    Height = 17
    Caption = 'Automatically respond with this message on Trillian'
    TabOrder = 5
    OnClick = chkAutoRespondClick
  end
  object PopupMenu: TPopupMenu
    object ChangeStatusMessage1: TMenuItem
      Caption = '&Change Status Message'
      OnClick = ChangeStatusMessage1Click
    end
    object DefineQuotes1: TMenuItem
      Caption = '&Define Quotes...'
      OnClick = DefineQuotes1Click
    end
    object DefineLyrics1: TMenuItem
      Caption = '&Define Lyrics...'
      OnClick = DefineLyrics1Click
    end
    object ChangeYahooID1: TMenuItem
      Caption = '&Change Yahoo! ID'
      OnClick = ChangeYahooID1Click
    end
    object N4: TMenuItem
      Caption = '-'
    end
    object ChangeAwayMessage1: TMenuItem
      Caption = 'C&hange Away Message'
      Visible = False
      OnClick = ChangeAwayMessage1Click
    end
    object chkEnableAwayMsg: TMenuItem
      Caption = 'Enable Auto-Away Message'
      Visible = False
      OnClick = chkEnableAwayMsgClick
    end
    object N3: TMenuItem
      Caption = '-'
      Visible = False
    end
    object StartWithWindows1: TMenuItem
      Caption = '&Start With Windows'
      OnClick = StartWithWindows1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Help1: TMenuItem
      Caption = '&Help'
      OnClick = Help1Click
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object Exit1: TMenuItem
      Caption = '&Exit'
      OnClick = Exit1Click
    end
  end
  object Timer: TTimer
    Interval = 2500
    OnTimer = TimerTimer
  end
  object AwayTimer: TTimer
    Enabled = False
    Interval = 500
  end
  object XPManifest1: TXPManifest
  end
end
