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
  object TrayIcon: TTrayIcon
    Hint = 'Velloran'
    Icon.Data = {
      0000010001001010000001002000680400001600000028000000100000002000
      0000010020000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      000000000000963E1783963E170C000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      000000000000963E179F963E17DB963E17340000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      000000000000963E1760B74C1CFFAE491BFB963E177400000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      000000000000963E1748B54B1CFFEB6325FFC6531FFF983F17BB963E1780963E
      1780963E1780963E1780963E1780963E1774963E172C00000000000000000000
      0000963E1770B0491BFBEB6325FFEB6325FFEB6325FFDC5D23FFCB5520FFCB55
      20FFCB5520FFCB5520FFCB5520FFC6531FFFAA471AFB963E177000000000963E
      172CAA471AFBEB6325FFEE7944FFFADACCFFFCE9E0FFF3A27EFFEB6325FFEB63
      25FFF5AF8FFFFCE9E0FFFAD6C5FFED7239FFEB6325FFAA471AFB963E172C963E
      1774C6531FFFEB6325FFF5AF8FFFFFFFFFFFFFFFFFFFFDF0EBFFEB6325FFEB63
      25FFFFFDFCFFFFFFFFFFFFFFFFFFF3A27EFFEB6325FFC6531FFF963E1774963E
      1780CB5520FFEB6325FFEC6D33FFF6BBA0FFFBDDCFFFFCECE4FFEB6325FFEB63
      25FFF19469FFF9CEBBFFFDF0EBFFF29E77FFEB6325FFCB5520FF963E1780963E
      1780CB5520FFEB6325FFEB6325FFEB6325FFF08A5CFFFCECE4FFEB6325FFEB63
      25FFEB6325FFEB6325FFFAD8C8FFF29E77FFEB6325FFCB5520FF963E1780963E
      1780CB5520FFEB6325FFEB6325FFEB6325FFF08A5CFFFCECE4FFEB6325FFEB63
      25FFEB6325FFEB6325FFFAD8C8FFF29E77FFEB6325FFCB5520FF963E1780963E
      1780CB5520FFEB6325FFEB6325FFEB6325FFF08A5CFFFEF8F5FFF8C4ADFFF8C4
      ADFFF8C4ADFFF8C4ADFFFDF0EBFFF29E77FFEB6325FFCB5520FF963E1780963E
      1758BA4E1DFFEB6325FFEB6325FFEB6325FFEF804EFFFFFFFFFFFFFFFFFFFFFF
      FFFFFFFFFFFFFFFFFFFFFFFFFFFFF29E77FFEB6325FFBA4E1DFF963E1758963E
      17089C4118D3D45921FFEB6325FFEB6325FFEB6325FFF08A5CFFF08A5CFFF08A
      5CFFF08A5CFFF08A5CFFF08A5CFFED7239FFD45921FF9C4118D3963E17080000
      0000963E1718963E17A79C4018F3A14319FFA14319FFA14319FFA14319FFA143
      19FFA14319FFA14319FFA14319FF9C4018F3963E17A7963E1718000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      000000000000000000000000000000000000000000000000000000000000FFFF
      0000CFFF0000C7FF0000C3FF0000C00300008001000000000000000000000000
      0000000000000000000000000000000000000000000080010000FFFF0000}
    PopupMenu = PopupMenu
    OnDblClick = TrayIconDblClick
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
    OnTimer = AwayTimerTimer
  end
  object XPManifest1: TXPManifest
  end
end
